// clsExchange::ConvertOrphanFlat: the orphan readings of a readings database (readings of meters
// that were on no route) as the lines of the orphan file, laid out by the current (orphan) map.
#include "core/errors.h"
#include "core/file_writer.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "exchange/record_assembly.h"
#include "zav/zav.h"

namespace zav {

bool clsExchange::ConvertOrphanFlat(std::int32_t fileVersion) {
    // Orphan files collect the orphans of every run unless the settings ask for a fresh file.
    FileWriter out(SettingPath(OrphanDestination),
                   OrphanReplace != 0 ? FileWriter::Mode::Replace : FileWriter::Mode::Append, OrphanDestination);
    clsZAV db;
    db.SetVersion(fileVersion);
    if (db.OpenZAV(SettingPath(ReadingSource)))
        throw RuntimeError(kErrPathFileAccess, "Error: Could not read ZAV file " + ReadingSource);
    RecordAssembler assembler(ExchMap);
    while (db.ReadData()) {
        SetProgressButton(255, db.Position255());
        if (db.RecType() != kRecOrphan) continue;
        out.Write(assembler.Assemble(db.GetValues(), FirstRecord));
    }
    out.Close();
    return true;
}

}  // namespace zav
