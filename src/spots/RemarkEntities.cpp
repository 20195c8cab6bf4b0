#include "RemarkEntities.h"

#include <array>
#include <optional>

namespace {

struct NamedEntity {
    QLatin1StringView name;
    char16_t character;
};

constexpr std::array<NamedEntity, 6> NamedEntities{{
    {QLatin1StringView("LT"), u'<'},
    {QLatin1StringView("GT"), u'>'},
    {QLatin1StringView("AMP"), u'&'},
    {QLatin1StringView("QUOT"), u'"'},
    {QLatin1StringView("APOS"), u'\''},
    {QLatin1StringView("NBSP"), u' '},
}};

// Beyond this many digits no reference names a character.
constexpr qsizetype MaxDigits = 8;
constexpr char32_t LastCodePoint = 0x10FFFF;

bool isCharacter(char32_t code) {
    const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return !control && !surrogate && code <= LastCodePoint;
}

// An ASCII digit of the base, in either case; -1 for anything else.
int digitValue(char16_t c, int base) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (base == 16 && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (base == 16 && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// "#65" or "#X41": the character it names, if any.
std::optional<char32_t> numericReference(QStringView body) {
    if (!body.startsWith(u'#'))
        return std::nullopt;
    body = body.sliced(1);
    int base = 10;
    if (body.startsWith(u'X') || body.startsWith(u'x')) {
        base = 16;
        body = body.sliced(1);
    }
    if (body.isEmpty() || body.size() > MaxDigits)
        return std::nullopt;
    char32_t code = 0;
    for (QChar c : body) {
        const int digit = digitValue(c.unicode(), base);
        if (digit < 0)
            return std::nullopt;
        code = code * static_cast<char32_t>(base) + static_cast<char32_t>(digit);
    }
    if (!isCharacter(code))
        return std::nullopt;
    return code;
}

// What the reference between "&" and ";" stands for, if it is one we know.
std::optional<QString> referenceText(QStringView body) {
    for (const NamedEntity& entity : NamedEntities) {
        if (body.compare(entity.name, Qt::CaseInsensitive) == 0)
            return QString(QChar(entity.character));
    }
    if (const std::optional<char32_t> code = numericReference(body))
        return QString::fromUcs4(&*code, 1);
    return std::nullopt;
}

// The longest reference body: "#X10FFFF" and the longest name fit.
constexpr qsizetype MaxBody = MaxDigits + 2;

} // namespace

QString decodeRemarkEntities(const QString& remark) {
    QString decoded;
    decoded.reserve(remark.size());
    const qsizetype count = remark.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (remark[i] != u'&') {
            decoded += remark[i];
            continue;
        }
        const qsizetype end = remark.indexOf(u';', i + 1);
        if (end > i + 1 && end - i - 1 <= MaxBody) {
            if (const std::optional<QString> text =
                    referenceText(QStringView(remark).sliced(i + 1, end - i - 1))) {
                decoded += *text;
                i = end;
                continue;
            }
        }
        decoded += u'&';
    }
    return decoded;
}
