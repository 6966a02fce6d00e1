#pragma once
// The framework's typed array: elements held by value, contiguous, zero-based, with the
// framework's growth rule. Indexes are not checked: callers keep them within 0 to size - 1.
//
// Unlike the framework, elements are moved with their move constructor when the storage is
// reallocated or shifted, never as raw bytes: a std::u16string (inside every CString) may point
// into itself, so a bitwise move of it is undefined here.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "platform/base/CException.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    CArray() = default;
    ~CArray() { Release(); }
    // Not copyable, as in the framework: use Copy. Movable, which the framework could not be.
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    CArray(CArray&& other) noexcept
        : m_pData(std::exchange(other.m_pData, nullptr)),
          m_nSize(std::exchange(other.m_nSize, 0)),
          m_nMaxSize(std::exchange(other.m_nMaxSize, 0)),
          m_nGrowBy(std::exchange(other.m_nGrowBy, 0)) {}
    CArray& operator=(CArray&& other) noexcept {
        if (this != &other) {
            Release();
            m_pData = std::exchange(other.m_pData, nullptr);
            m_nSize = std::exchange(other.m_nSize, 0);
            m_nMaxSize = std::exchange(other.m_nMaxSize, 0);
            m_nGrowBy = std::exchange(other.m_nGrowBy, 0);
        }
        return *this;
    }

    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    int GetUpperBound() const { return m_nSize - 1; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    // The capacity: how many elements the storage holds before it must grow.
    int GetAllocSize() const { return m_nMaxSize; }

    // nGrowBy 0 grows by an eighth of the size, at least 4 and at most 1024 elements;
    // a negative nGrowBy keeps the current setting. See Grow for the rule.
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0); }

    TYPE GetAt(int nIndex) const { return m_pData[Checked(nIndex)]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_pData[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(int nIndex) { return m_pData[Checked(nIndex)]; }
    const TYPE& ElementAt(int nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](int nIndex) const { return ElementAt(nIndex); }
    TYPE* GetData() { return m_pData; }
    const TYPE* GetData() const { return m_pData; }

    TYPE* begin() { return m_pData; }
    TYPE* end() { return m_pData + m_nSize; }
    const TYPE* begin() const { return m_pData; }
    const TYPE* end() const { return m_pData + m_nSize; }

    void SetAtGrow(int nIndex, ARG_TYPE newElement);
    int Add(ARG_TYPE newElement) {
        const int nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    int Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void InsertAt(int nStartIndex, const CArray* pNewArray);
    void RemoveAt(int nIndex, int nCount = 1);

private:
    static std::size_t Checked(int nIndex) {
        assert(nIndex >= 0);
        return static_cast<std::size_t>(nIndex);
    }
    static TYPE* Allocate(int count);
    static void Deallocate(TYPE* p, int count) {
        std::allocator<TYPE>().deallocate(p, static_cast<std::size_t>(count));
    }
    void Release() noexcept;
    // The capacity that holding nNewSize elements calls for.
    int Grow(int nNewSize) const;

    TYPE* m_pData = nullptr;
    int m_nSize = 0;
    int m_nMaxSize = 0;
    int m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::Allocate(int count) {
    try {
        return std::allocator<TYPE>().allocate(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {  // std::bad_array_new_length too
        throw CMemoryException();
    } catch (const std::length_error&) {
        throw CMemoryException();
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Release() noexcept {
    if (m_pData == nullptr)
        return;
    std::destroy_n(m_pData, m_nSize);
    Deallocate(m_pData, m_nMaxSize);
    m_pData = nullptr;
    m_nSize = 0;
    m_nMaxSize = 0;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Grow(int nNewSize) const {
    int step = m_nGrowBy;
    if (step == 0)
        step = std::clamp(m_nSize / 8, 4, 1024);
    const long long grown = static_cast<long long>(m_nMaxSize) + step;
    if (nNewSize >= grown)
        return nNewSize;
    return static_cast<int>(std::min<long long>(grown, std::numeric_limits<int>::max()));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy) {
    if (nNewSize < 0)
        throw CInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        Release();
        return;
    }
    if (m_pData == nullptr) {
        TYPE* data = Allocate(nNewSize);
        try {
            std::uninitialized_value_construct_n(data, nNewSize);
        } catch (...) {
            Deallocate(data, nNewSize);
            throw;
        }
        m_pData = data;
        m_nSize = m_nMaxSize = nNewSize;
        return;
    }
    if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize) {
            std::uninitialized_value_construct_n(m_pData + m_nSize, nNewSize - m_nSize);
        } else {
            std::destroy_n(m_pData + nNewSize, m_nSize - nNewSize);
        }
        m_nSize = nNewSize;
        return;
    }

    const int nNewMax = Grow(nNewSize);
    TYPE* data = Allocate(nNewMax);
    try {
        std::uninitialized_value_construct_n(data + m_nSize, nNewSize - m_nSize);
    } catch (...) {
        Deallocate(data, nNewMax);
        throw;
    }
    std::uninitialized_move_n(m_pData, m_nSize, data);  // CString's move does not throw
    std::destroy_n(m_pData, m_nSize);
    Deallocate(m_pData, m_nMaxSize);
    m_pData = data;
    m_nSize = nNewSize;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        Release();
        return;
    }
    TYPE* data = Allocate(m_nSize);
    std::uninitialized_move_n(m_pData, m_nSize, data);
    std::destroy_n(m_pData, m_nSize);
    Deallocate(m_pData, m_nMaxSize);
    m_pData = data;
    m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement) {
    if (nIndex < 0 || nIndex == std::numeric_limits<int>::max())
        throw CInvalidArgException();
    if (nIndex >= m_nSize) {
        if (nIndex >= m_nMaxSize) {
            // newElement may be one of ours, which the reallocation would destroy.
            TYPE copy(newElement);
            SetSize(nIndex + 1, -1);
            m_pData[nIndex] = std::move(copy);
            return;
        }
        SetSize(nIndex + 1, -1);
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
    const int nOldSize = m_nSize;
    if (src.m_nSize == 0)
        return nOldSize;
    if (static_cast<long long>(nOldSize) + src.m_nSize > std::numeric_limits<int>::max()) {
        throw CInvalidArgException();
    }
    const int count = src.m_nSize;  // src may be this array
    SetSize(nOldSize + count);
    std::copy_n(src.m_pData, count, m_pData + nOldSize);  // after SetSize, for this case
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    std::copy_n(src.m_pData, src.m_nSize, m_pData);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount) {
    if (nIndex < 0 || nCount < 0)
        throw CInvalidArgException();
    if (nCount == 0)
        return;
    const long long end = static_cast<long long>(std::max(nIndex, m_nSize)) + nCount;
    if (end > std::numeric_limits<int>::max())
        throw CInvalidArgException();
    const TYPE value(newElement);  // newElement may be one of ours, which may move
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        const int nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    std::fill_n(m_pData + nIndex, nCount, value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, const CArray* pNewArray) {
    if (pNewArray == nullptr || pNewArray->m_nSize == 0)
        return;
    if (nStartIndex < 0)
        throw CInvalidArgException();
    CArray copy;  // pNewArray may be this array
    copy.Copy(*pNewArray);
    InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
    std::copy_n(copy.m_pData, copy.m_nSize, m_pData + nStartIndex);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount) {
    // Checked although the framework does not: a stray index here would corrupt the heap.
    if (nIndex < 0 || nCount < 0 || nCount > m_nSize - nIndex)
        throw CInvalidArgException();
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    std::destroy_n(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}
