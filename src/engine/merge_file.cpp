#include "engine/merge_file.h"

#include "engine/merge_file_writer.h"

namespace brindle {

bool WriteMergeFile(const CCompFileOpt& record, std::u16string_view path, int encoding, std::u16string_view lineEnd)
{
    CMergeFileWriter writer(record, path, encoding, lineEnd);
    if (writer.refused())
        return false;
    writer.writeLines(false);
    writer.commit();
    return true;
}

}  // namespace brindle
