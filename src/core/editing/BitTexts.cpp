#include "BitTexts.h"

#include "BitWord.h"

#include <QRegularExpression>

#include <optional>

namespace hesk::editing {

namespace {

bool endsText(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char(';') || c == QChar(0xFF1B);
}

}  // namespace

std::vector<QString> bitTexts(const model::HeskParameterElement& parameter)
{
    const int bits = bitCount(parameter);
    std::vector<QString> texts(static_cast<std::size_t>(bits));
    std::vector<bool> named(texts.size(), false);
    static const QRegularExpression marker(QStringLiteral("(?<![A-Za-z])bit\\s*(\\d{1,2})\\s*[:\\x{FF1A}]"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString& comment = parameter.comment;
    QRegularExpressionMatchIterator it = marker.globalMatch(comment);
    if (!it.hasNext())
        return texts;
    QRegularExpressionMatch match = it.next();
    for (;;) {
        const std::optional<QRegularExpressionMatch> next =
            it.hasNext() ? std::optional<QRegularExpressionMatch>(it.next()) : std::nullopt;
        const qsizetype start = match.capturedEnd(0);
        qsizetype end = next ? next->capturedStart(0) : comment.size();
        for (qsizetype i = start; i < end; ++i) {
            if (endsText(comment[i])) {
                end = i;
                break;
            }
        }
        const int bit = match.captured(1).toInt();
        if (bit < bits && !named[static_cast<std::size_t>(bit)]) {
            named[static_cast<std::size_t>(bit)] = true;
            texts[static_cast<std::size_t>(bit)] = comment.mid(start, end - start).trimmed();
        }
        if (!next)
            break;
        match = *next;
    }
    return texts;
}

}  // namespace hesk::editing
