#include "platform/data/TextBlock.h"

#include <cstring>
#include <new>

namespace platform {

TextBlock* TextBlock::Create(std::size_t capacity) {
    void* memory = ::operator new(sizeof(TextBlock) + capacity);
    return new (memory) TextBlock(capacity);
}

void TextBlock::Deref() noexcept {
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        this->~TextBlock();
        ::operator delete(this);
    }
}

std::size_t TextBlock::Append(const char* bytes, std::size_t size) {
    const std::size_t offset = m_used;
    if (size > 0)
        std::memcpy(Bytes() + offset, bytes, size);
    m_used += size;
    return offset;
}

} // namespace platform
