// A file's section list while the comparison refines it: ordered, with insertion and look-up.
#pragma once

#include "engine/diff_section.h"

#include <deque>
#include <memory>
#include <unordered_map>

namespace brindle {

// Doubly linked so that sections can be inserted after any section in constant time, with a
// look-up from section to its place, because refinement keeps asking where a partner section
// stands in the other list.
class CSectionChain {
public:
    struct Node {
        std::unique_ptr<CDiffSection> section;
        Node* prev = nullptr;
        Node* next = nullptr;
    };

    CSectionChain() = default;
    CSectionChain(const CSectionChain&) = delete;
    CSectionChain& operator=(const CSectionChain&) = delete;
    // Moving keeps every node where it is (a deque moves its blocks), so pointers stay valid.
    CSectionChain(CSectionChain&&) noexcept = default;
    CSectionChain& operator=(CSectionChain&&) noexcept = default;

    Node* head() const { return m_head; }
    bool empty() const { return m_head == nullptr; }

    Node* append(std::unique_ptr<CDiffSection> section) { return insertAfter(m_tail, std::move(section)); }
    // Inserts after `after`; at the front when after is nullptr.
    Node* insertAfter(Node* after, std::unique_ptr<CDiffSection> section);
    // The node holding section, or nullptr when it is not (or no longer) in this chain.
    Node* find(const CDiffSection* section) const;
    // Takes the section out of its node; the node stays in the chain, empty.
    std::unique_ptr<CDiffSection> take(Node* node);

private:
    std::deque<Node> m_nodes;
    std::unordered_map<const CDiffSection*, Node*> m_index;
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
};

}  // namespace brindle
