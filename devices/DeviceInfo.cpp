// Bounded copies into and out of the record's fixed-size text fields.
#include "devices/DeviceInfo.h"

#include <algorithm>

void SetDeviceField(DeviceField& field, WStringView text) {
    std::fill(std::begin(field), std::end(field), u'\0');
    if (text.size() <= kMaxFieldText) {
        std::copy(text.begin(), text.end(), field);
    }
}

WString GetDeviceField(const DeviceField& field) {
    const char16_t* end = std::find(std::begin(field), std::end(field), u'\0');
    return WString(std::begin(field), end);
}
