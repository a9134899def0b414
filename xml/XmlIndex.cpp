// Element index storage of CXmlDocument: records live in blocks of 65,536, found through a block table,
// so growing never moves more than the last block.
#include <algorithm>
#include <cstring>

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
        auto table = std::make_unique<std::unique_ptr<ElementRecord[]>[]>(slots);
        for (int32_t i = 0; i < m_nBlockSlots; ++i) {
            table[i] = std::move(m_ppBlocks[i]);
        }
        m_ppBlocks = std::move(table);
        m_nBlockSlots = static_cast<int32_t>(slots);
    }
    int64_t inLastBlock = m_nCapacity - lastBlock * kBlockRecords;
    if (newBlock > lastBlock && inLastBlock < kBlockRecords) {
        std::unique_ptr<ElementRecord[]> full(new ElementRecord[kBlockRecords]);
        if (inLastBlock > 0) {
            std::memcpy(full.get(), m_ppBlocks[lastBlock].get(), inLastBlock * sizeof(ElementRecord));
        }
        m_ppBlocks[lastBlock] = std::move(full);
    }
    int64_t records = want - newBlock * kBlockRecords;
    std::unique_ptr<ElementRecord[]> block(new ElementRecord[records]);
    if (newBlock == lastBlock && inLastBlock > 0) {
        std::memcpy(block.get(), m_ppBlocks[lastBlock].get(), inLastBlock * sizeof(ElementRecord));
    }
    m_ppBlocks[newBlock] = std::move(block);
    m_nCapacity = static_cast<int32_t>(want);
}
