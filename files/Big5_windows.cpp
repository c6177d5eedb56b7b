#include "files/Big5.h"

#include <windows.h>

namespace award::big5 {
namespace {

constexpr UINT kBig5CodePage = 950;

}  // namespace

bool Available() { return IsValidCodePage(kBig5CodePage); }

std::optional<QString> Decode(QByteArrayView bytes) {
    if (bytes.isEmpty()) return QString();
    const int size = int(bytes.size());
    const int length = MultiByteToWideChar(kBig5CodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(kBig5CodePage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

// No best fit: a character without a Big5 code must be told, not replaced by
// a look-alike.
std::optional<QByteArray> Encode(QStringView text) {
    if (text.isEmpty()) return QByteArray();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = int(text.size());
    BOOL replaced = FALSE;
    const int length = WideCharToMultiByte(kBig5CodePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, nullptr, &replaced);
    if (length <= 0 || replaced) return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(kBig5CodePage, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace award::big5
