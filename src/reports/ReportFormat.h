#pragma once

// The three file formats of the "SaveAs" commands.
enum class ReportFormat { Text, Html, PocketExcel };
