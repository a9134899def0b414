// Element index storage of CXmlDocument: records live in blocks of 65,536, found through a block table,
// so growing never moves more than the last block.
#include <cstdlib>
#include <new>

#include "xml/XmlDocument.h"

namespace {

constexpr int32_t kBlockShift = 16;
constexpr int64_t kBlockRecords = int64_t(1) << kBlockShift;

}  // namespace

CXmlDocument::CXmlDocument() {
    ParseDocument();
}

CXmlDocument::~CXmlDocument() = default;

void CXmlDocument::ResetPosition() {
    m_nParentPos = 0;
    m_nCurrentPos = 0;
    m_nChildPos = 0;
    m_nCurrentKind = 0;
}

bool CXmlDocument::IsWellFormed() const {
    const ElementRecord& doc = Record(0);
    return !(doc.flags & kDocNotWellFormed) && doc.firstChild != 0 && Record(doc.firstChild).nextSibling == 0;
}

void CXmlDocument::SetText(WString text, uint32_t flags) {
    m_strText = std::move(text);
    m_strReport.clear();  // ParseDocument would take an old verdict for load notes
    m_nTextFlags = flags;
}

// Grows by at most one block per call; every block but the last holds exactly 65,536 records.
void CXmlDocument::GrowIndex(int32_t wanted) {
    int64_t want = wanted != 0 ? wanted : int64_t(m_nNextFree) + m_nNextFree / 2;
    if (m_nCapacity >= want) {
        return;
    }
    int64_t lastBlock = m_nCapacity > 0 ? (m_nCapacity - 1) >> kBlockShift : 0;
    int64_t newBlock = (want - 1) >> kBlockShift;
    if (newBlock > lastBlock + 1) {
        newBlock = lastBlock + 1;
        want = (lastBlock + 2) * kBlockRecords;
    }
    if (m_nBlockSlots <= newBlock) {
        int64_t slots = 2 * newBlock + 4;
        auto table = std::make_unique<Block[]>(slots);
        for (int32_t i = 0; i < m_nBlockSlots; ++i) {
            table[i] = std::move(m_ppBlocks[i]);
        }
        m_ppBlocks = std::move(table);
        m_nBlockSlots = static_cast<int32_t>(slots);
    }
    int64_t inLastBlock = m_nCapacity - lastBlock * kBlockRecords;
    if (newBlock > lastBlock && inLastBlock < kBlockRecords) {
        ResizeBlock(lastBlock, kBlockRecords);
    }
    ResizeBlock(newBlock, want - newBlock * kBlockRecords);
    m_nCapacity = static_cast<int32_t>(want);
}

// Keeps the block's existing records; realloc may grow it in place, which saves both a copy and the
// moment when old and new block are held at once.
void CXmlDocument::ResizeBlock(int64_t block, int64_t records) {
    void* resized =
        std::realloc(m_ppBlocks[block].get(), static_cast<size_t>(records) * sizeof(ElementRecord));
    if (!resized) {
        throw std::bad_alloc();  // the old block is still there and still owned
    }
    static_cast<void>(m_ppBlocks[block].release());
    m_ppBlocks[block].reset(static_cast<ElementRecord*>(resized));
}
