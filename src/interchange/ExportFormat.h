#pragma once

// The three formats of "&Export...", in the order of the dialog's "Format:" box.
enum class ExportFormat {
    Qif = 0,          // Quicken Interchange Format, in the 8-bit code page
    WindowsText = 1,  // tab-separated text, in the 8-bit code page
    UnicodeText = 2,  // tab-separated text, UTF-16LE without byte-order mark
};
