#include "engine/section_chain.h"

namespace brindle {

CSectionChain::Node* CSectionChain::insertAfter(Node* after, std::unique_ptr<CDiffSection> section)
{
    Node& node = m_nodes.emplace_back();
    m_index[section.get()] = &node;
    node.section = std::move(section);
    node.prev = after;
    node.next = after ? after->next : m_head;
    if (node.next)
        node.next->prev = &node;
    else
        m_tail = &node;
    if (after)
        after->next = &node;
    else
        m_head = &node;
    return &node;
}

CSectionChain::Node* CSectionChain::find(const CDiffSection* section) const
{
    const auto it = m_index.find(section);
    return it == m_index.end() ? nullptr : it->second;
}

std::unique_ptr<CDiffSection> CSectionChain::take(Node* node)
{
    m_index.erase(node->section.get());
    return std::move(node->section);
}

}  // namespace brindle
