// SPDX-License-Identifier: AGPL-3.0-or-later
// Chart data files: any bytes read, loaded into the entry fields and written again must give a
// file that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "setup/chart_data_file.h"

namespace {

std::string LoadAndWrite(const quintaro::ChartFile& file, quintaro::ChartFileTarget target) {
    quintaro::EntryModel model;
    quintaro::SelectionFlags selection;
    quintaro::ChartFileMemory memory;
    quintaro::ApplyChartFile(file, target, model, selection, memory);
    return quintaro::FormatChartFile(quintaro::ChartFileFromEntry(model, selection, memory));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    quintaro::ChartFile file = quintaro::ParseChartFile(text);
    if (file.valuesRead < 0 || file.valuesRead > quintaro::ChartFileValueCount) std::abort();
    for (auto target :
         {quintaro::ChartFileTarget::NatalOnly, quintaro::ChartFileTarget::NatalAndTransitDate,
          quintaro::ChartFileTarget::NatalIntoTransit}) {
        LoadAndWrite(file, target);
    }
    std::string first = LoadAndWrite(file, quintaro::ChartFileTarget::Everything);
    quintaro::ChartFile again = quintaro::ParseChartFile(first);
    if (again.valuesRead != quintaro::ChartFileValueCount) std::abort();
    if (LoadAndWrite(again, quintaro::ChartFileTarget::Everything) != first) std::abort();
    return 0;
}
