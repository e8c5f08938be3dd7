#include "framework/PointerList.h"

#include <cstddef>
#include <new>
#include <utility>

struct PointerList::Node {
    Node* next;
    Node* previous;
    void* data;
};

// A block header; its nodes follow it in the same allocation.
struct PointerList::Block {
    Block* next;
    Node* Nodes() noexcept { return reinterpret_cast<Node*>(this + 1); }
};

PointerList::PointerList(int nodesPerBlock) noexcept : m_nodesPerBlock(nodesPerBlock > 0 ? nodesPerBlock : 1)
{
}

PointerList::PointerList(PointerList&& other) noexcept : m_nodesPerBlock(other.m_nodesPerBlock)
{
    TakeFrom(other);
}

PointerList& PointerList::operator=(PointerList&& other) noexcept
{
    if (this != &other) {
        RemoveAll();
        m_nodesPerBlock = other.m_nodesPerBlock;
        TakeFrom(other);
    }
    return *this;
}

PointerList::~PointerList()
{
    RemoveAll();
}

void PointerList::TakeFrom(PointerList& other) noexcept
{
    m_head = std::exchange(other.m_head, nullptr);
    m_tail = std::exchange(other.m_tail, nullptr);
    m_count = std::exchange(other.m_count, 0);
    m_free = std::exchange(other.m_free, nullptr);
    m_blocks = std::exchange(other.m_blocks, nullptr);
}

PointerList::Node* PointerList::NewNode(Node* previous, Node* next, void* data)
{
    if (!m_free) {
        void* memory = ::operator new(sizeof(Block) + sizeof(Node) * static_cast<size_t>(m_nodesPerBlock));
        Block* block = static_cast<Block*>(memory);
        block->next = m_blocks;
        m_blocks = block;
        // Chained so that the block's first node is handed out first.
        Node* nodes = block->Nodes();
        for (int i = m_nodesPerBlock - 1; i >= 0; --i) {
            nodes[i].next = m_free;
            m_free = &nodes[i];
        }
    }
    Node* node = m_free;
    m_free = node->next;
    node->next = next;
    node->previous = previous;
    node->data = data;
    ++m_count;
    return node;
}

void PointerList::FreeNode(Node* node) noexcept
{
    node->next = m_free;
    m_free = node;
    if (--m_count == 0)
        RemoveAll();
}

void PointerList::RemoveAll() noexcept
{
    while (m_blocks) {
        Block* next = m_blocks->next;
        ::operator delete(m_blocks);
        m_blocks = next;
    }
    m_head = nullptr;
    m_tail = nullptr;
    m_free = nullptr;
    m_count = 0;
}

PointerList::Position PointerList::AddHead(void* data)
{
    Node* node = NewNode(nullptr, m_head, data);
    if (m_head)
        m_head->previous = node;
    else
        m_tail = node;
    m_head = node;
    return node;
}

PointerList::Position PointerList::AddTail(void* data)
{
    Node* node = NewNode(m_tail, nullptr, data);
    if (m_tail)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
    return node;
}

// Both walk exactly the other list's count, so adding a list to itself
// doubles it instead of running forever.
void PointerList::AddHead(const PointerList& other)
{
    Node* node = other.m_tail;
    for (int left = other.m_count; left > 0; --left, node = node->previous)
        AddHead(node->data);
}

void PointerList::AddTail(const PointerList& other)
{
    Node* node = other.m_head;
    for (int left = other.m_count; left > 0; --left, node = node->next)
        AddTail(node->data);
}

void* PointerList::RemoveHead() noexcept
{
    if (!m_head)
        return nullptr;
    void* data = m_head->data;
    RemoveAt(m_head);
    return data;
}

void* PointerList::RemoveTail() noexcept
{
    if (!m_tail)
        return nullptr;
    void* data = m_tail->data;
    RemoveAt(m_tail);
    return data;
}

PointerList::Position PointerList::InsertBefore(Position position, void* data)
{
    if (!position)
        return AddHead(data);
    Node* node = NewNode(position->previous, position, data);
    if (position->previous)
        position->previous->next = node;
    else
        m_head = node;
    position->previous = node;
    return node;
}

PointerList::Position PointerList::InsertAfter(Position position, void* data)
{
    if (!position)
        return AddTail(data);
    Node* node = NewNode(position, position->next, data);
    if (position->next)
        position->next->previous = node;
    else
        m_tail = node;
    position->next = node;
    return node;
}

void PointerList::RemoveAt(Position position) noexcept
{
    if (!position)
        return;
    if (position->previous)
        position->previous->next = position->next;
    else
        m_head = position->next;
    if (position->next)
        position->next->previous = position->previous;
    else
        m_tail = position->previous;
    FreeNode(position);
}

void* PointerList::GetHead() const noexcept
{
    return m_head ? m_head->data : nullptr;
}

void* PointerList::GetTail() const noexcept
{
    return m_tail ? m_tail->data : nullptr;
}

void* PointerList::GetNext(Position& position) const noexcept
{
    if (!position)
        return nullptr;
    void* data = position->data;
    position = position->next;
    return data;
}

void* PointerList::GetPrev(Position& position) const noexcept
{
    if (!position)
        return nullptr;
    void* data = position->data;
    position = position->previous;
    return data;
}

void* PointerList::GetAt(Position position) const noexcept
{
    return position ? position->data : nullptr;
}

void PointerList::SetAt(Position position, void* data) noexcept
{
    if (position)
        position->data = data;
}

PointerList::Position PointerList::FindIndex(int n) const noexcept
{
    if (n < 0 || n >= m_count)
        return nullptr;
    Node* node = m_head;
    while (n-- > 0)
        node = node->next;
    return node;
}

PointerList::Position PointerList::Find(const void* data, Position after) const noexcept
{
    for (Node* node = after ? after->next : m_head; node; node = node->next) {
        if (node->data == data)
            return node;
    }
    return nullptr;
}
