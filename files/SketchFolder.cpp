#include "files/SketchFolder.h"

#include "files/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace award {

std::optional<QString> MendSketchName(const QString& wanted) {
    constexpr qsizetype kLongestName = 63;
    static const QRegularExpression kRejected(QStringLiteral("[^A-Za-z0-9_]"));
    static const QRegularExpression kLeadingUnderscores(QStringLiteral("^_+"));
    QString name = wanted;
    name.replace(kRejected, QStringLiteral("_")).remove(kLeadingUnderscores).truncate(kLongestName);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

SketchPlace PlaceSketch(const QString& chosenPath) {
    const QFileInfo chosen(chosenPath);
    QString wanted = chosen.fileName();
    if (wanted.endsWith(QStringLiteral(".ino"), Qt::CaseInsensitive)) wanted.chop(4);
    const auto name = MendSketchName(wanted);
    if (!name)
        return Refuse<SketchPlace>(Refusal::Kind::Malformed,
                                   QStringLiteral("「%1」不能當草稿名稱：Arduino 只接受英文字母、數字和底線（_），"
                                                  "而且要以字母或數字開頭。")
                                       .arg(wanted));
    const QDir parent = chosen.absoluteDir();
    const QString folder = parent.dirName() == *name ? parent.absolutePath() : parent.absoluteFilePath(*name);
    return {*name, folder, QDir(folder).absoluteFilePath(*name + QStringLiteral(".ino")), *name != wanted, {}};
}

ExportResult ExportSketch(const SketchPlace& place, const QString& sketch,
                          const std::function<bool(const QString& file)>& mayReplace) {
    if (QFileInfo::exists(place.file) && !mayReplace(place.file)) return {ExportOutcome::Declined, {}};
    if (!QDir().mkpath(place.folder))
        return {ExportOutcome::Failed, {0, QStringLiteral("無法建立資料夾「%1」。").arg(place.folder), Refusal::Kind::Unwritable}};
    if (Refusal failure = WriteAtomically(place.file, sketch.toUtf8())) return {ExportOutcome::Failed, failure};
    return {ExportOutcome::Written, {}};
}

}  // namespace award
