#!/bin/sh
# Fails when the library exports any dynamic symbol besides CreatePlugin2.
nm="$1"; lib="$2"
symbols=$("$nm" -D --defined-only "$lib" | awk '{print $NF}' | grep -v -x -E '_init|_fini|_edata|_end|__bss_start')
if [ "$symbols" != "CreatePlugin2" ]; then
    echo "$lib exports:"; echo "$symbols"; exit 1
fi
echo "$lib exports CreatePlugin2 only"
