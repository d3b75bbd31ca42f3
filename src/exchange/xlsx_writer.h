#pragma once

#include <string>

#include "exchange/station_export.h"

namespace tarsek::exchange {

/// The bytes of an .xlsx workbook holding the table on one sheet: a frozen header row with the
/// units in it, one row per station with each column's number format. The workbook is built in
/// a temporary file beside path (removed again) because the writer library works on files.
bool formatXlsx(const ExportTable& table, const std::string& path, std::string& bytes,
                std::string& message);

}  // namespace tarsek::exchange
