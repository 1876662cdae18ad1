/* Control interface of the simulated controller behind libvivuraz.so.1, for tests and for
 * vivuraz-sim. C linkage; every function returns a status code of vivuraz.h.
 *
 * The controller keeps its state in a folder: the one set with VivuRAZSim_SetStateFolder, else
 * $VIVURAZ_SIM_DIR, else $XDG_STATE_HOME/vivuraz-sim, else ~/.local/state/vivuraz-sim. The folder
 * is looked up afresh on every call. On first use it holds one attached device with erased
 * EEPROMs (configuration all 0xFF, firmware empty) and a register space of zeros whose firmware
 * version bytes 0x07F0 to 0x07F5 are 01 75 00 0a b2 ff.
 */
#ifndef VIVURAZ_VIVURAZ_SIM_H
#define VIVURAZ_VIVURAZ_SIM_H

#include "vivuraz/vivuraz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The calls a scripted fault can make fail. */
enum VivuRAZSimOperation {
    kVivuRAZSimOpen = 0,     /* VivuRAZLib_OpenDev */
    kVivuRAZSimRegister = 1, /* VivuRAZLib_Q4870_AccessRegister */
    kVivuRAZSimConfig = 2,   /* VivuRAZLib_Q4870_AccessConfigEEPROM */
    kVivuRAZSimFirmware = 3  /* VivuRAZLib_Q4870_AccessFirmwareEEPROM */
};

enum {
    /* `times` of a scripted behaviour that lasts until it is cleared. */
    kVivuRAZSimAlways = -1,
    /* The most devices that can be attached. */
    kVivuRAZSimMaxDevices = 16,
    /* The firmware version bytes in the register space. */
    kVivuRAZSimVersionAddress = 0x07F0,
    kVivuRAZSimVersionLength = 6
};

/* Uses `folder` as the state folder of this process; null goes back to the environment. */
VIVURAZ_API int32_t VivuRAZSim_SetStateFolder(const char* folder);

/* Back to the first-use state: one erased device, no scripted faults, journal off and empty. */
VIVURAZ_API int32_t VivuRAZSim_Reset(void);

/* Attaches `count` devices (0 to kVivuRAZSimMaxDevices). Devices that stay keep their content;
 * new ones start as on first use. */
VIVURAZ_API int32_t VivuRAZSim_Attach(int32_t count);

/* Makes the next `times` calls of `operation` (or all, with kVivuRAZSimAlways) return `code`
 * (nonzero) and change nothing. Only calls whose arguments pass the library's checks count.
 * A failing OpenDev still fills the record. Replaces an earlier fault of the same operation. */
VIVURAZ_API int32_t VivuRAZSim_SetFault(int32_t operation, int32_t code, int32_t times);

/* Makes the next `times` register reads (or all, with kVivuRAZSimAlways) return 0 and fill
 * nothing; 0 ends it. */
VIVURAZ_API int32_t VivuRAZSim_SetEmptyReads(int32_t times);

/* Ends every scripted fault and empty read. */
VIVURAZ_API int32_t VivuRAZSim_ClearFaults(void);

/* Sets the six firmware version bytes of the device `device` (a reference, 1 to the count). */
VIVURAZ_API int32_t VivuRAZSim_SetVersion(int32_t device, const unsigned char* bytes);

/* Switches the journal on (nonzero) or off. While on, every call of the six library functions
 * adds one line: the function's name, the arguments that matter as key=value, "-> " and the
 * result, e.g. "VivuRAZLib_Q4870_AccessConfigEEPROM device=1 direction=1 length=128 -> 0". */
VIVURAZ_API int32_t VivuRAZSim_SetJournal(int32_t on);

/* Empties the journal. */
VIVURAZ_API int32_t VivuRAZSim_ClearJournal(void);

/* Copies the journal's text (lines ended by "\n") into `buffer` of `size` bytes, cut to fit and
 * zero-terminated when size is above 0. Returns the text's full length, or a negative status. */
VIVURAZ_API int32_t VivuRAZSim_ReadJournal(char* buffer, int32_t size);

#ifdef __cplusplus
}
#endif

#endif /* VIVURAZ_VIVURAZ_SIM_H */
