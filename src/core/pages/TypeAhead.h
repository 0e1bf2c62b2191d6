#pragma once
// Jumping to a parameter by typing its number in a list.
//
// A letter key P, R, U, N, B or K starts a new search text "P", "r", "U", "n", "B" or
// "K". A digit is appended while the text is empty, starts with a letter and has fewer
// than 5 characters, or has fewer than 4 characters; otherwise the text restarts with
// that digit. After every digit the list selects a row: digits alone select the first row
// whose parameter number equals their value; a text with a letter is completed with
// zeros on the left to four digits (three for U and n) and selects the first row whose
// number text contains it. The text is forgotten 1200 ms after the last key.
//
// Time comes in with every key, so the reset needs no timer (and tests no sleeping).

#include <QChar>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::pages {

struct PageRow;

class TypeAhead {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kResetDelay{1200};

    enum class KeyEffect {
        Ignored,  // not a type-ahead key: the list handles it as usual
        Started,  // a letter started a new search text
        Search,   // a digit: search with searchText()
    };

    // A key typed at `now`: the character it produced (letters in either case).
    KeyEffect key(QChar character, Clock::time_point now);
    const QString& searchText() const { return m_text; }
    void reset() { m_text.clear(); }

    // The row a search text selects among rows with the given numbers and number texts;
    // nothing when none matches.
    static std::optional<int> findRow(const QString& searchText, const std::vector<PageRow>& rows);
    // The number text a search text with a letter is completed to ("P1" -> "P0001",
    // "U5" -> "U005"); digits alone come back unchanged.
    static QString completedText(const QString& searchText);

private:
    QString m_text;
    std::optional<Clock::time_point> m_lastKey;
};

}  // namespace hesk::pages
