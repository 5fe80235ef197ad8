#include "framework/resource_file_check.h"

#include <QtEndian>
#include <vector>

namespace brindle {

namespace {

// The layout Qt's resource reader expects: a header ("qres", version, tree, data and names
// offsets, and from version 3 flags); tree nodes of name offset (4), flags (2) and either child
// count and first child index (4 + 4, directories) or territory, language and data offset
// (2 + 2 + 4, files), plus a time stamp (8) from version 2; names as length (2), hash (4) and
// UTF-16 text; data blocks as size (4) and bytes.
constexpr quint16 kDirectoryFlag = 0x02;

class CResourceFileCheck {
public:
    explicit CResourceFileCheck(QByteArrayView data) : m_data(data) {}

    bool run()
    {
        if (m_data.size() < 20 || !m_data.startsWith("qres"))
            return false;
        const quint32 version = read32(4);
        if (version < 1 || version > 3 || m_data.size() < (version >= 3 ? 24 : 20))
            return false;
        m_tree = read32(8);
        m_payloads = read32(12);
        m_names = read32(16);
        m_nodeSize = version >= 2 ? 22 : 14;
        if (!fits(m_tree, m_nodeSize))
            return false;
        return walkTree((m_data.size() - m_tree) / m_nodeSize);
    }

private:
    bool fits(qsizetype at, qsizetype length) const
    {
        return at >= 0 && length >= 0 && at <= m_data.size() && length <= m_data.size() - at;
    }
    quint32 read32(qsizetype at) const { return qFromBigEndian<quint32>(m_data.data() + at); }
    quint16 read16(qsizetype at) const { return qFromBigEndian<quint16>(m_data.data() + at); }

    bool nameFits(quint32 offset) const
    {
        const qsizetype at = m_names + offset;
        return fits(at, 6) && fits(at + 6, 2 * qsizetype(read16(at)));
    }
    bool dataFits(quint32 offset) const
    {
        const qsizetype at = m_payloads + offset;
        return fits(at, 4) && fits(at + 4, qsizetype(read32(at)));
    }

    // Visits every node reachable from the root (node 0); nodeCount nodes fit in the file. Each
    // node has one parent, as rcc writes them, so the walk ends after at most nodeCount nodes.
    bool walkTree(qsizetype nodeCount) const
    {
        std::vector<bool> claimed(static_cast<std::size_t>(nodeCount));
        claimed[0] = true;
        std::vector<qsizetype> pending{0};
        while (!pending.empty()) {
            const qsizetype at = m_tree + pending.back() * m_nodeSize;
            const bool root = pending.back() == 0;
            pending.pop_back();
            // The root's name is never read.
            if (!root && !nameFits(read32(at)))
                return false;
            if (!(read16(at + 4) & kDirectoryFlag)) {
                if (!dataFits(read32(at + 10)))
                    return false;
                continue;
            }
            const qsizetype count = read32(at + 6);
            const qsizetype first = read32(at + 10);
            if (count > nodeCount || first > nodeCount - count)
                return false;
            for (qsizetype child = first; child < first + count; ++child) {
                if (claimed[static_cast<std::size_t>(child)])
                    return false;
                claimed[static_cast<std::size_t>(child)] = true;
                pending.push_back(child);
            }
        }
        return true;
    }

    QByteArrayView m_data;
    qsizetype m_tree = 0;
    qsizetype m_payloads = 0;
    qsizetype m_names = 0;
    qsizetype m_nodeSize = 0;
};

}  // namespace

bool isWellFormedResourceFile(QByteArrayView data) { return CResourceFileCheck(data).run(); }

}  // namespace brindle
