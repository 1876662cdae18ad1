/* vivuraz.h compiled as C: its layout checks run here too, and the record is reachable. */
#include <stddef.h>

#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

size_t DeviceListLayoutFromC(size_t* countOffset, size_t* deviceOffset, size_t* restOffset) {
    *countOffset = offsetof(DeviceList, count);
    *deviceOffset = offsetof(DeviceList, device);
    *restOffset = offsetof(DeviceList, reserved);
    return sizeof(DeviceList);
}

int32_t OpenFromC(int32_t* count) {
    DeviceList list;
    int32_t status;
    VivuRAZLib_Load();
    status = VivuRAZLib_OpenDev(&list);
    *count = list.count;
    VivuRAZLib_Unload();
    return status;
}
