// PointerList: a doubly linked list of untyped pointers.
//
// Nodes come from blocks of a fixed number of nodes (chosen at construction)
// so that adding an element rarely allocates: removed nodes go back to a free
// chain, and all blocks are freed at once when the list becomes empty.
// Positions are node handles, valid until their element is removed.
#pragma once

class PointerList {
    struct Node;

public:
    using Position = Node*;

    explicit PointerList(int nodesPerBlock = 10) noexcept;
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;
    PointerList(PointerList&& other) noexcept;
    PointerList& operator=(PointerList&& other) noexcept;
    ~PointerList();

    int GetCount() const noexcept { return m_count; }
    bool IsEmpty() const noexcept { return m_count == 0; }

    Position AddHead(void* data);
    Position AddTail(void* data);
    // The other list's elements end up in front (or at the end) in the order
    // they had there.
    void AddHead(const PointerList& other);
    void AddTail(const PointerList& other);

    // The data of the removed element; null when the list is empty.
    void* RemoveHead() noexcept;
    void* RemoveTail() noexcept;

    // A null position means the head (InsertBefore) or the tail (InsertAfter).
    Position InsertBefore(Position position, void* data);
    Position InsertAfter(Position position, void* data);
    void RemoveAt(Position position) noexcept;
    void RemoveAll() noexcept;

    Position GetHeadPosition() const noexcept { return m_head; }
    Position GetTailPosition() const noexcept { return m_tail; }
    void* GetHead() const noexcept;
    void* GetTail() const noexcept;

    // Iteration: returns the data at position and moves it on (null at the end).
    void* GetNext(Position& position) const noexcept;
    void* GetPrev(Position& position) const noexcept;
    void* GetAt(Position position) const noexcept;
    void SetAt(Position position, void* data) noexcept;

    // The n-th element's position; null when n is negative or not below the count.
    Position FindIndex(int n) const noexcept;
    // The first node holding data after `after` (from the head when null).
    Position Find(const void* data, Position after = nullptr) const noexcept;

private:
    struct Block;

    Node* NewNode(Node* previous, Node* next, void* data);
    void FreeNode(Node* node) noexcept;
    void TakeFrom(PointerList& other) noexcept;

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    Node* m_free = nullptr;
    Block* m_blocks = nullptr;
    int m_nodesPerBlock;
};
