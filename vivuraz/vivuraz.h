/* The device library: six functions and the DeviceList record, with C linkage.
 *
 * This build of libvivuraz.so.1 is a simulated controller (vivuraz_sim.h describes its control
 * interface); any library with these six functions and this record can take its place.
 *
 * Integer arguments are 32-bit; every function returns a signed 32-bit status, 0 meaning
 * success. The status codes of this library are listed below; a scripted fault of the simulator
 * may return any other nonzero code, positive or negative.
 */
#ifndef VIVURAZ_VIVURAZ_H
#define VIVURAZ_VIVURAZ_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define VIVURAZ_API __attribute__((visibility("default")))
#else
#define VIVURAZ_API
#endif

#ifdef __cplusplus
#define VIVURAZ_STATIC_ASSERT(condition, message) static_assert(condition, message)
extern "C" {
#else
#define VIVURAZ_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* Status codes. A call that returns a negative code of this table has changed nothing.
 * The arguments are checked in the order the codes are listed. */
enum VivuRAZStatus {
    kVivuRAZSuccess = 0,
    /* Called before VivuRAZLib_Load, or after VivuRAZLib_Unload. */
    kVivuRAZErrorNotLoaded = -1,
    /* The device reference names no attached device (references are 1 to the count). */
    kVivuRAZErrorNoSuchDevice = -2,
    /* The direction is neither 0 (read) nor 1 (write). */
    kVivuRAZErrorDirection = -3,
    /* A null buffer (or record) where data is needed, or a buffer given to a register write,
     * which carries its value in the length argument. A read of 0 bytes needs no buffer. */
    kVivuRAZErrorBuffer = -4,
    /* A register address outside 0 to 0xFFFF, or a read that runs past 0xFFFF. */
    kVivuRAZErrorAddress = -5,
    /* A negative length, a register value above 0xFF, a configuration access of other than 128
     * bytes, or a firmware access of more than 65539 bytes. */
    kVivuRAZErrorLength = -6,
    /* The state folder cannot be used: it cannot be created, locked or read, its state file is
     * damaged, or the change cannot be stored (the old content stays). */
    kVivuRAZErrorStorage = -7,
    /* An argument of a control call (vivuraz_sim.h) is out of range. */
    kVivuRAZErrorArgument = -8
};

/* Filled by VivuRAZLib_OpenDev. Little-endian. */
typedef struct DeviceList {
    int32_t count;  /* signed number of devices found */
    int32_t device; /* reference of the first device found; first argument of every access */
    /* Written by the library, never read by the tool. This library stores the references of
     * the second and further devices here (32-bit each, in order) and zeros after them. */
    unsigned char reserved[444];
} DeviceList;

VIVURAZ_STATIC_ASSERT(sizeof(DeviceList) == 452, "DeviceList is 452 bytes");
VIVURAZ_STATIC_ASSERT(offsetof(DeviceList, count) == 0, "count at offset 0");
VIVURAZ_STATIC_ASSERT(offsetof(DeviceList, device) == 4, "device at offset 4");
VIVURAZ_STATIC_ASSERT(offsetof(DeviceList, reserved) == 8, "library's part at offset 8");

/* Prepares the library. */
VIVURAZ_API int32_t VivuRAZLib_Load(void);

/* Fills the record: the number of attached devices and the first one's reference. */
VIVURAZ_API int32_t VivuRAZLib_OpenDev(DeviceList* list);

/* direction 0 reads `length` bytes of the register space from `address` on into `buffer`;
 * direction 1 writes one byte: `buffer` is null and `length` carries the value (0 to 0xFF). */
VIVURAZ_API int32_t VivuRAZLib_Q4870_AccessRegister(int32_t device, int32_t direction,
                                                    int32_t address, unsigned char* buffer,
                                                    int32_t length);

/* direction 1 writes the 128 bytes of `buffer` to the configuration EEPROM; direction 0 reads
 * them into `buffer`. `length` is 128. */
VIVURAZ_API int32_t VivuRAZLib_Q4870_AccessConfigEEPROM(int32_t device, int32_t direction,
                                                        unsigned char* buffer, int32_t length);

/* direction 1 writes a firmware image of `length` bytes (at most 65539) to the firmware EEPROM,
 * replacing its content; direction 0 reads its first `length` bytes (0xFF beyond the stored
 * image, as an erased EEPROM reads). */
VIVURAZ_API int32_t VivuRAZLib_Q4870_AccessFirmwareEEPROM(int32_t device, int32_t direction,
                                                          unsigned char* buffer, int32_t length);

/* Releases what Load prepared. */
VIVURAZ_API int32_t VivuRAZLib_Unload(void);

#ifdef __cplusplus
}
#endif

#endif /* VIVURAZ_VIVURAZ_H */
