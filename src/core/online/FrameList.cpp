#include "FrameList.h"

#include <algorithm>

namespace hesk::online {

namespace {

// Frames are the same request when all bytes but the check byte agree.
bool sameRequest(const link::CommandFrame& a, const link::CommandFrame& b)
{
    return std::equal(a.begin(), a.begin() + 7, b.begin());
}

}  // namespace

int FrameList::indexOf(const link::CommandFrame& frame) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (sameRequest(m_nodes[i].frame, frame))
            return static_cast<int>(i);
    return -1;
}

bool FrameList::push(const link::CommandFrame& frame)
{
    return insertAt(static_cast<int>(m_nodes.size()) - 1, frame);
}

bool FrameList::insertAt(int position, const link::CommandFrame& frame)
{
    if (const int existing = indexOf(frame); existing >= 0) {
        ++m_nodes[static_cast<size_t>(existing)].references;
        return false;
    }
    const int last = static_cast<int>(m_nodes.size()) - 1;
    const int newIndex = std::clamp(position, -1, last) + 1;
    m_nodes.insert(m_nodes.begin() + newIndex, Node{frame, 1});
    if (m_cursor >= 0 && newIndex <= m_cursor)
        ++m_cursor;
    return true;
}

bool FrameList::removeAt(int index)
{
    if (index < 0 || index >= static_cast<int>(m_nodes.size()))
        return false;
    Node& node = m_nodes[static_cast<size_t>(index)];
    if (--node.references > 0)
        return false;
    m_nodes.erase(m_nodes.begin() + index);
    // The cursor steps back onto the previous frame (or the head) when its own frame or
    // one before it went away, so that the next advance sends the frame after it.
    if (index <= m_cursor)
        --m_cursor;
    return true;
}

void FrameList::clear()
{
    m_nodes.clear();
    m_cursor = -1;
}

void FrameList::advance()
{
    if (m_nodes.empty())
        return;
    if (m_cursor + 1 >= static_cast<int>(m_nodes.size()))
        m_cursor = 0;
    else
        ++m_cursor;
}

std::optional<link::CommandFrame> FrameList::frameAtCursor() const
{
    if (m_cursor < 0 || m_cursor >= static_cast<int>(m_nodes.size()))
        return std::nullopt;
    return m_nodes[static_cast<size_t>(m_cursor)].frame;
}

}  // namespace hesk::online
