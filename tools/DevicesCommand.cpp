// dashwellctl devices: the installed-device catalogue as the host reads it, through a read-only
// catalogue, so that listing devices never changes what the host will find at its next start.
#include <string>

#include "devices/SwitchDevice.h"
#include "tools/Cli.h"

const char kDevicesHelp[] =
    "usage: dashwellctl devices\n"
    "\n"
    "Lists the installed devices the way the host reads them, one line per device in catalogue order,\n"
    "fields separated by one TAB:\n"
    "  INDEX  KEYNAME  plug=N (config.ini)  deviceplug=M (user registry)  path=PATH\n"
    "then start=KEYNAME, the device the host would show first (empty when none is plugged), and\n"
    "remembered=NAME, the device remembered from the host's last run.\n"
    "Only reads: no registry value or file is written.";

namespace {

std::string DeviceLine(const CSwitchDevice& catalogue, int index) {
    const TEMBRA_DEVICE_INFO device = *catalogue.GetDevice(index);
    const WString keyName = GetDeviceField(device.szKeyName);
    return std::to_string(index) + '\t' + ToUtf8(keyName) + "\tplug=" + std::to_string(device.nPlug) +
           "\tdeviceplug=" + std::to_string(catalogue.IsDevicePlugged(keyName)) +
           "\tpath=" + ToUtf8(GetDeviceField(device.szPath));
}

}  // namespace

int RunDevicesCommand(const Args& args) {
    if (!args.empty()) {
        return UsageError("devices takes no arguments");
    }
    const CSwitchDevice catalogue(CatalogueMode::kReadOnly);
    for (int i = 0; i < catalogue.GetDeviceCount(); ++i) {
        PrintLine(DeviceLine(catalogue, i));
    }
    const WString remembered = catalogue.ReadExitDeviceName();
    PrintLine(u"start=" + catalogue.GetDeviceKeyName(catalogue.ChooseStartDevice(remembered)));
    PrintLine(u"remembered=" + remembered);
    return 0;
}
