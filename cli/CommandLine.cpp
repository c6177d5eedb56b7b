#include "cli/CommandLine.h"

#include "surface/FaceResolver.h"

#include <QCommandLineParser>

namespace award {
namespace {

CommandLineRead Refuse(const QString& why) { return Refuse<CommandLineRead>(Refusal::Kind::Malformed, why); }

// QCommandLineParser gives an unknown option without its dashes; the user
// should see it as typed.
QString AsTyped(const QString& name, const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        const QString bare = argument.section(u'=', 0, 0);
        if (bare == u'-' + name || bare == QStringLiteral("--") + name) return bare;
    }
    return QStringLiteral("--") + name;
}

}  // namespace

CommandLineRead ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption font("font", "face", "name");
    const QCommandLineOption bold("bold", "bold");
    const QCommandLineOption italic("italic", "italic");
    const QCommandLineOption row("first-row", "first scan row", "row");
    const QCommandLineOption marquee("marquee", "marquee");
    const QCommandLineOption speed("speed", "marquee speed", "speed");
    const QCommandLineOption upload("upload", "upload", "port");
    const QCommandLineOption hex("hex", "hex", "file");
    const QCommandLineOption program("program", "program", "file");
    const QCommandLineOption sign("sign", "sign", "kind");
    const QCommandLineOption board("board", "board", "board");
    const QCommandLineOption brightness("brightness", "brightness", "level");
    const QCommandLineOption help({"h", "help"}, "help");
    const QList<QCommandLineOption> all{font, bold, italic, row,  marquee,    speed,
                                        upload, hex, program, sign, board, brightness, help};
    parser.addOptions(all);

    // QCommandLineParser words its own errors in English.
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return Refuse(
                QStringLiteral("不認得的選項 %1").arg(AsTyped(parser.unknownOptionNames().first(), arguments)));
        return Refuse(QStringLiteral("選項 %1 後面少了值").arg(arguments.last()));
    }
    CommandLine line;
    line.help = parser.isSet(help);
    if (line.help) return {line, {}};
    // The last of two would silently win.
    for (const QCommandLineOption& option : all) {
        const QString name = option.names().constLast();
        if (parser.optionNames().count(name) > 1)
            return Refuse(QStringLiteral("選項 --%1 只能用一次").arg(name));
    }
    if (parser.positionalArguments().size() > 1)
        return Refuse(QStringLiteral("多了一個參數「%1」：只能給一個橫幅文字檔").arg(parser.positionalArguments().at(1)));
    if (!parser.positionalArguments().isEmpty()) line.bannerFile = parser.positionalArguments().first();

    ConversionOptions& options = line.options;
    if (parser.isSet(font)) options.style.face = parser.value(font);
    if (options.style.face != kMingFaceName && options.style.face != kKaiFaceName)
        return Refuse(QStringLiteral("--font 只能是 %1 或 %2，不能是「%3」")
                           .arg(kMingFaceName, kKaiFaceName, options.style.face));
    options.style.bold = parser.isSet(bold);
    options.style.italic = parser.isSet(italic);
    if (parser.isSet(row)) {
        const QString value = parser.value(row);
        if (value != "1" && value != "3")
            return Refuse(QStringLiteral("--first-row 只能是 1 或 3，不能是「%1」").arg(value));
        options.firstScanRow = value == "1" ? FirstScanRow::Row1 : FirstScanRow::Row3;
    }
    if (parser.isSet(marquee)) options.mode = DisplayMode::Marquee;
    if (parser.isSet(speed)) {
        const QString name = parser.value(speed);
        if (!parser.isSet(marquee)) return Refuse(QStringLiteral("--speed 要和 --marquee 一起用"));
        if (name == "slow") options.speed = MarqueeSpeed::Slow;
        else if (name == "fast") options.speed = MarqueeSpeed::Fast;
        else if (name != "medium")
            return Refuse(QStringLiteral("--speed 只能是 slow、medium 或 fast，不能是「%1」").arg(name));
    }
    SignTarget& target = options.target;
    if (parser.isSet(sign)) {
        const QString name = parser.value(sign);
        if (name == "p10") target.sign = SignKind::P10Pair;
        else if (name != "ports")
            return Refuse(QStringLiteral("--sign 只能是 ports 或 p10，不能是「%1」").arg(name));
    }
    if (parser.isSet(board)) {
        const QString name = parser.value(board);
        if (name == "uno") target.board = BoardKind::Uno;
        else if (name != "mega2560")
            return Refuse(QStringLiteral("--board 只能是 mega2560 或 uno，不能是「%1」").arg(name));
    }
    if (!BoardDrivesSign(target.sign, target.board))
        return Refuse(QStringLiteral("--board uno 不能配學校看板：Uno 和 Nano 沒有看板用的埠 C、F、K；"
                                      "請用 --board mega2560，或用 --sign p10 接 P10 面板"));
    if (parser.isSet(brightness)) {
        const QString value = parser.value(brightness);
        bool number = false;
        const int level = value.toInt(&number);
        if (!number || level < 1 || level > SIGN_BRIGHTEST || value.trimmed() != value || value.startsWith(u'+'))
            return Refuse(QStringLiteral("--brightness 只能是 1 到 %1 的整數，不能是「%2」").arg(int{SIGN_BRIGHTEST}).arg(value));
        target.brightness = level;
    }
    if (parser.isSet(upload) && parser.isSet(hex)) return Refuse(QStringLiteral("--upload 和 --hex 不能同時使用"));
    line.uploadPort = parser.value(upload);
    line.hexFile = parser.value(hex);
    if ((parser.isSet(upload) && line.uploadPort.isEmpty()) || (parser.isSet(hex) && line.hexFile.isEmpty()))
        return Refuse(QStringLiteral("--%1 後面少了值").arg(parser.isSet(upload) ? "upload" : "hex"));
    if (parser.isSet(program)) {
        line.programFile = parser.value(program);
        if (line.programFile.isEmpty()) return Refuse(QStringLiteral("--program 後面少了值"));
        if (parser.isSet(marquee) || parser.isSet(speed))
            return Refuse(QStringLiteral("--program 不能和 --marquee 或 --speed 一起用"));
        if (!line.bannerFile.isEmpty())
            return Refuse(QStringLiteral("--program 不能再加橫幅文字檔「%1」").arg(line.bannerFile));
    }
    return {line, {}};
}

}  // namespace award
