#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace platform {

// A block of UTF-8 texts that the values of one large result share. Most texts of a list of 50,000
// persons are never shown; keeping them as the bytes SQLite gave saves making and freeing one QString
// each. The block lives as long as a value points into it.
class TextBlock {
public:
    static TextBlock* Create(std::size_t capacity); // with one reference, the creator's
    void Ref() noexcept { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void Deref() noexcept;

    std::size_t Room() const { return m_capacity - m_used; }
    // Copies the bytes to the end of the block; the caller made sure they fit. Returns their offset.
    std::size_t Append(const char* bytes, std::size_t size);
    const char* Data() const { return reinterpret_cast<const char*>(this + 1); }

private:
    explicit TextBlock(std::size_t capacity) : m_capacity(capacity) {}
    char* Bytes() { return reinterpret_cast<char*>(this + 1); }

    std::atomic<int> m_refs{1};
    std::size_t m_capacity;
    std::size_t m_used = 0;
};

// One text in a TextBlock, made into a QString when it is read.
class BlockText {
public:
    BlockText(TextBlock* block, std::size_t offset, std::size_t size) noexcept
        : m_block(block), m_offset(static_cast<uint32_t>(offset)), m_size(static_cast<uint32_t>(size)) {
        m_block->Ref();
    }
    BlockText(const BlockText& other) noexcept
        : m_block(other.m_block), m_offset(other.m_offset), m_size(other.m_size) {
        if (m_block)
            m_block->Ref();
    }
    BlockText(BlockText&& other) noexcept : m_block(other.m_block), m_offset(other.m_offset), m_size(other.m_size) {
        other.m_block = nullptr;
        other.m_size = 0;
    }
    BlockText& operator=(BlockText other) noexcept {
        std::swap(m_block, other.m_block);
        std::swap(m_offset, other.m_offset);
        std::swap(m_size, other.m_size);
        return *this;
    }
    ~BlockText() {
        if (m_block)
            m_block->Deref();
    }

    std::string_view View() const {
        return m_block ? std::string_view(m_block->Data() + m_offset, m_size) : std::string_view();
    }
    QString ToString() const {
        const std::string_view text = View();
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    bool operator==(const BlockText& other) const { return View() == other.View(); }

private:
    TextBlock* m_block;
    uint32_t m_offset;
    uint32_t m_size;
};

} // namespace platform
