#include "TypeAhead.h"

#include "ParameterPage.h"

namespace hesk::pages {

namespace {

// The search letter of a key, as number texts spell it.
std::optional<QChar> searchLetter(QChar character)
{
    switch (character.toUpper().unicode()) {
    case 'P': return QLatin1Char('P');
    case 'R': return QLatin1Char('r');
    case 'U': return QLatin1Char('U');
    case 'N': return QLatin1Char('n');
    case 'B': return QLatin1Char('B');
    case 'K': return QLatin1Char('K');
    default: return std::nullopt;
    }
}

bool isAsciiDigit(QChar character)
{
    return character >= QLatin1Char('0') && character <= QLatin1Char('9');
}

}  // namespace

TypeAhead::KeyEffect TypeAhead::key(QChar character, Clock::time_point now)
{
    const std::optional<QChar> letter = searchLetter(character);
    if (!letter && !isAsciiDigit(character))
        return KeyEffect::Ignored;
    if (m_lastKey && now - *m_lastKey >= kResetDelay)
        m_text.clear();
    m_lastKey = now;
    if (letter) {
        m_text = QString(*letter);
        return KeyEffect::Started;
    }
    const bool startsWithLetter = !m_text.isEmpty() && !isAsciiDigit(m_text.front());
    if (m_text.isEmpty() || (startsWithLetter && m_text.size() < 5) || m_text.size() < 4)
        m_text += character;
    else
        m_text = QString(character);
    return KeyEffect::Search;
}

QString TypeAhead::completedText(const QString& searchText)
{
    if (searchText.isEmpty() || isAsciiDigit(searchText.front()))
        return searchText;
    const QChar letter = searchText.front();
    const int width = (letter == QLatin1Char('U') || letter == QLatin1Char('n')) ? 3 : 4;
    const QString digits = searchText.mid(1);
    return letter + digits.rightJustified(width, QLatin1Char('0'));
}

std::optional<int> TypeAhead::findRow(const QString& searchText, const std::vector<PageRow>& rows)
{
    if (searchText.isEmpty())
        return std::nullopt;
    if (isAsciiDigit(searchText.front())) {
        const int number = searchText.toInt();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].element.number == number)
                return static_cast<int>(i);
        return std::nullopt;
    }
    const QString wanted = completedText(searchText);
    if (wanted.size() < 2)
        return std::nullopt;  // a letter alone selects nothing
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].numberText.contains(wanted))
            return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace hesk::pages
