// The growable array behind StringArray and ValueArray.
//
// Storage grows by a step: a stored step of 0 (the default) means an eighth of
// the current size, at least 4 and at most 1024 slots beyond the capacity, so
// an array of size s and capacity c that must hold n > c elements gets
// max(n, c + clamp(s / 8, 4, 1024)) slots; any other stored step is used as is.
// Element access is unchecked, as with a plain array; operations that take a
// start index or a count clamp them.
#pragma once

#include <algorithm>
#include <cassert>
#include <memory>
#include <new>
#include <utility>

template <typename T>
class GrowableArray {
public:
    GrowableArray() noexcept = default;
    GrowableArray(const GrowableArray& other) { Copy(other); }
    GrowableArray(GrowableArray&& other) noexcept { TakeFrom(other); }
    GrowableArray& operator=(const GrowableArray& other)
    {
        Copy(other);
        return *this;
    }
    GrowableArray& operator=(GrowableArray&& other) noexcept
    {
        if (this != &other) {
            RemoveAll();
            TakeFrom(other);
        }
        return *this;
    }
    ~GrowableArray() { RemoveAll(); }

    int GetSize() const noexcept { return m_size; }
    int GetCapacity() const noexcept { return m_capacity; }
    int GetGrowStep() const noexcept { return m_step; }
    bool IsEmpty() const noexcept { return m_size == 0; }

    // A step other than -1 is stored first. Size 0 frees the storage; new
    // slots are cleared (zero, or the empty String).
    void SetSize(int newSize, int growStep = -1)
    {
        if (growStep != -1)
            m_step = growStep;
        if (newSize <= 0) {
            FreeStorage();
            return;
        }
        if (newSize > m_capacity)
            Reallocate(NextCapacity(newSize));
        if (newSize > m_size)
            std::uninitialized_value_construct_n(m_data + m_size, newSize - m_size);
        else
            std::destroy_n(m_data + newSize, m_size - newSize);
        m_size = newSize;
    }

    const T& GetAt(int index) const noexcept { return (*this)[index]; }
    void SetAt(int index, const T& value) { (*this)[index] = value; }
    T& operator[](int index) noexcept
    {
        assert(index >= 0 && index < m_size);
        return m_data[index];
    }
    const T& operator[](int index) const noexcept
    {
        assert(index >= 0 && index < m_size);
        return m_data[index];
    }

    // Grows the array to index + 1 elements first when needed.
    void SetAtGrow(int index, const T& value)
    {
        if (index < 0)
            return;
        T copy(value);  // value may live in this array
        if (index >= m_size)
            SetSize(index + 1);
        m_data[index] = std::move(copy);
    }

    // Returns the index of the new element.
    int Add(const T& value)
    {
        int index = m_size;
        SetAtGrow(index, value);
        return index;
    }

    // Inserting at or past the end grows the array to hold the new elements.
    void InsertAt(int index, const T& value, int count = 1)
    {
        if (count <= 0)
            return;
        index = std::max(index, 0);
        T copy(value);
        if (index >= m_size) {
            SetSize(index + count);
        } else {
            int oldSize = m_size;
            SetSize(oldSize + count);
            std::move_backward(m_data + index, m_data + oldSize, m_data + oldSize + count);
        }
        std::fill_n(m_data + index, count, copy);
    }

    void InsertAt(int index, const GrowableArray& other)
    {
        if (&other == this) {
            GrowableArray copy(other);
            InsertAt(index, copy);
            return;
        }
        if (other.IsEmpty())
            return;
        index = std::max(index, 0);
        InsertAt(index, other[0], other.m_size);
        std::copy_n(other.m_data, other.m_size, m_data + index);
    }

    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || index >= m_size || count < 1)
            return;
        count = std::min(count, m_size - index);
        std::move(m_data + index + count, m_data + m_size, m_data + index);
        std::destroy_n(m_data + m_size - count, count);
        m_size -= count;
    }

    // Returns the old size.
    int Append(const GrowableArray& other)
    {
        int oldSize = m_size;
        if (&other == this) {
            GrowableArray copy(other);
            Append(copy);
            return oldSize;
        }
        if (other.IsEmpty())
            return oldSize;
        SetSize(oldSize + other.m_size);
        std::copy_n(other.m_data, other.m_size, m_data + oldSize);
        return oldSize;
    }

    void Copy(const GrowableArray& other)
    {
        if (&other == this)
            return;
        SetSize(other.m_size);
        std::copy_n(other.m_data, other.m_size, m_data);
    }

    void ShrinkToFit()
    {
        if (m_size == 0)
            FreeStorage();
        else if (m_size < m_capacity)
            Reallocate(m_size);
    }

    void RemoveAll() { SetSize(0); }

    T* Data() noexcept { return m_data; }
    const T* Data() const noexcept { return m_data; }
    T* begin() noexcept { return m_data; }
    T* end() noexcept { return m_data + m_size; }
    const T* begin() const noexcept { return m_data; }
    const T* end() const noexcept { return m_data + m_size; }

private:
    int NextCapacity(int needed) const noexcept
    {
        int step = m_step != 0 ? m_step : std::clamp(m_size / 8, 4, 1024);
        return std::max(needed, m_capacity + step);
    }

    // Moves the elements into storage of exactly `capacity` slots.
    void Reallocate(int capacity)
    {
        T* fresh = static_cast<T*>(::operator new(sizeof(T) * static_cast<size_t>(capacity)));
        std::uninitialized_move_n(m_data, m_size, fresh);
        std::destroy_n(m_data, m_size);
        ::operator delete(m_data);
        m_data = fresh;
        m_capacity = capacity;
    }

    void FreeStorage() noexcept
    {
        std::destroy_n(m_data, m_size);
        ::operator delete(m_data);
        m_data = nullptr;
        m_size = 0;
        m_capacity = 0;
    }

    void TakeFrom(GrowableArray& other) noexcept
    {
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_step = other.m_step;
    }

    T* m_data = nullptr;
    int m_size = 0;
    int m_capacity = 0;
    int m_step = 0;
};
