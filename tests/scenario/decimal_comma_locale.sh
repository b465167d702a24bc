#!/usr/bin/env bash
# Makes the locale de_DE.UTF-8 in FOLDER, for processes that run with LOCPATH=FOLDER, and checks
# that it writes numbers with a decimal comma, so that a run under it tests what it is meant to.
# Needs localedef (libc-bin) and the locale sources of Debian's package `locales`.
# Usage: decimal_comma_locale.sh FOLDER
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 FOLDER" >&2
    exit 2
fi
folder=$1

rm -rf "${folder:?}/de_DE.UTF-8"
mkdir -p "$folder" || exit 1
if ! localedef -i de_DE -f UTF-8 "$folder/de_DE.UTF-8"; then
    echo "localedef could not make de_DE.UTF-8: is Debian's package locales installed?" >&2
    exit 1
fi
point=$(LOCPATH=$folder LC_ALL=de_DE.UTF-8 locale -k decimal_point 2>&1)
if [ "$point" != 'decimal_point=","' ]; then
    echo "de_DE.UTF-8 from $folder gives no decimal comma: $point" >&2
    exit 1
fi
echo "de_DE.UTF-8 in $folder: $point"
