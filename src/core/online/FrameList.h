#pragma once
// A list of 8-byte request frames sent round-robin by the send scheduler: the send list
// of writes and confirms, the system poll list and a page's poll list.
//
// Frames are deduplicated by content (bytes 0..6; the check byte 7 is ignored) with a
// reference count per frame, so a parameter requested twice is sent once and stays in
// the list until every requester removed it. A cursor marks the frame sent last;
// advance() moves it on, wrapping from the last frame to the first.
//
// Counting follows the list's original shape of a head node plus one node per frame:
// count() is 1 for an empty list, and the cursor index is -1 while the cursor rests on
// that head (after construction, clear(), or removal of every frame up to the cursor).
//
// Not thread-safe: the owner serialises access.

#include "link/FrameCodec.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace hesk::online {

class FrameList {
public:
    // Number of frames plus the head: 1 means empty.
    int count() const { return static_cast<int>(m_nodes.size()) + 1; }
    size_t size() const { return m_nodes.size(); }
    bool empty() const { return m_nodes.empty(); }

    // Appends the frame with reference count 1 and returns true; when a frame with the
    // same bytes 0..6 is already listed, raises its count instead and returns false.
    bool push(const link::CommandFrame& frame);

    // As push, but the new frame goes after the frame at `position` (-1: before the
    // first frame; a position past the end appends). The cursor keeps its frame: its
    // index moves up when the new frame lands at or before it.
    bool insertAt(int position, const link::CommandFrame& frame);

    // Lowers the reference count of the frame at `index`; at zero the frame leaves the
    // list and the cursor moves back when it stood on or after it. True when the frame
    // left the list; false when it stays (still referenced) or the index is out of range.
    bool removeAt(int index);

    // Removes every frame; the cursor goes back to the head.
    void clear();

    // Moves the cursor to the next frame, from the last (or from the head) to the first.
    // Does nothing on an empty list.
    void advance();

    // Index of the frame at the cursor (0 = first); -1 while the cursor rests on the head.
    int cursorIndex() const { return m_cursor; }
    // The frame at the cursor; nothing while the cursor rests on the head.
    std::optional<link::CommandFrame> frameAtCursor() const;

    // Frame and reference count at `index` (0 <= index < size()).
    const link::CommandFrame& at(size_t index) const { return m_nodes.at(index).frame; }
    int referenceCount(size_t index) const { return m_nodes.at(index).references; }

    // Index of the frame with the same bytes 0..6; -1 when none.
    int indexOf(const link::CommandFrame& frame) const;

private:
    struct Node {
        link::CommandFrame frame;
        int references;
    };
    std::vector<Node> m_nodes;
    int m_cursor = -1;
};

}  // namespace hesk::online
