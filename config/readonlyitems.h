#pragma once

#include <QString>

// Why an item cannot be written: the instrument reports it but never takes a value for it. The
// instrument says nothing of this itself (a write of such an item only comes back refused), so the
// assistant knows these items by their names.
enum class ReadOnlyItem {
    None,
    Measured, // a reading of the moment: "当前温度", "当前湿度", ...
    Identity, // fixed by the maker: serial number, model, firmware version
    Clock // the instrument's clock, set through Sync time
};

// The reason for an item's name as the instrument reports it (surrounding blanks do not count).
ReadOnlyItem readOnlyItem(const QString& name);
