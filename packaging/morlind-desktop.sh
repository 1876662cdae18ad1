#!/bin/sh
# Started from the desktop menu: the EEPROM Editor writes its working files (TempBinData.bin,
# the ROM images, the path histories) into its current directory, so give it a folder of its
# own instead of the home folder.
dir="${MORLIND_WORKDIR:-$HOME/EEPROM Editor}"
mkdir -p "$dir" && cd "$dir" || exit 1
exec /usr/bin/morlind "$@"
