#pragma once

// The file formats of the "SaveAs" commands: the three classic writers, then
// the spreadsheet and the comma-separated values for today's programs.
enum class ReportFormat { Text, Html, PocketExcel, Xlsx, Csv };
