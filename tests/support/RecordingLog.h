#pragma once
// A log for tests: keeps every line with its level, from any thread (reply handlers log
// on the link's reader threads).

#include "model/LogSink.h"

#include <QString>
#include <QStringList>

#include <mutex>
#include <ostream>
#include <vector>

namespace hesk::testsupport {

class RecordingLog final : public model::LogSink {
public:
    struct Line {
        QString text;
        int level;
        bool operator==(const Line&) const = default;
    };

    void log(const QString& text, int level) override
    {
        const std::lock_guard guard(m_lock);
        m_lines.push_back({text, level});
    }
    std::vector<Line> lines() const
    {
        const std::lock_guard guard(m_lock);
        return m_lines;
    }
    void clear()
    {
        const std::lock_guard guard(m_lock);
        m_lines.clear();
    }
    bool contains(const QString& text) const { return count(text) > 0; }
    bool contains(const QString& text, int level) const
    {
        for (const Line& line : lines())
            if (line.text == text && line.level == level)
                return true;
        return false;
    }
    int count(const QString& text) const
    {
        int n = 0;
        for (const Line& line : lines())
            n += line.text == text ? 1 : 0;
        return n;
    }
    // The lines of level 2 and above, in order (the protocol steps of level 1 left out).
    QStringList userLines() const
    {
        QStringList texts;
        for (const Line& line : lines())
            if (line.level >= 2)
                texts << line.text;
        return texts;
    }

private:
    mutable std::mutex m_lock;
    std::vector<Line> m_lines;
};

inline void PrintTo(const RecordingLog::Line& line, std::ostream* os)
{
    *os << '{' << line.level << ", \"" << line.text.toStdString() << "\"}";
}

}  // namespace hesk::testsupport
