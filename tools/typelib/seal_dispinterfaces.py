#!/usr/bin/env python3
"""Marks every pure dispinterface of a type library (MSFT format) non-extensible.

widl refuses the nonextensible attribute on a dispinterface, though a type library may carry the
flag there as on any interface: this sets TYPEFLAG_FNONEXTENSIBLE on each type of kind
TKIND_DISPATCH that is not the dispatch side of a dual interface, and changes nothing else.

    seal_dispinterfaces.py LIBRARY.tlb
"""
import struct
import sys

TKIND_DISPATCH = 4
TYPEFLAG_FDUAL = 0x40
TYPEFLAG_FNONEXTENSIBLE = 0x80
HEADER = struct.Struct("<21i")  # the MSFT header, up to the number of imported type infos
HELP_DLL_FLAG = 0x100           # a help DLL name follows the header
FLAGS_OFFSET = 0x30             # of the type flags in a type info's base record


def seal(path):
    with open(path, "rb") as file:
        data = bytearray(file.read())
    if data[:4] != b"MSFT":
        sys.exit("%s is no MSFT type library" % path)
    header = HEADER.unpack_from(data, 0)
    var_flags, type_infos = header[5], header[8]
    position = HEADER.size + (4 if var_flags & HELP_DLL_FLAG else 0)
    offsets = struct.unpack_from("<%di" % type_infos, data, position)
    position += 4 * type_infos
    type_info_segment = struct.unpack_from("<i", data, position)[0]  # the first segment's offset
    sealed = 0
    for offset in offsets:
        base = type_info_segment + offset
        kind = struct.unpack_from("<i", data, base)[0] & 0xF
        flags = struct.unpack_from("<i", data, base + FLAGS_OFFSET)[0]
        if kind == TKIND_DISPATCH and not flags & TYPEFLAG_FDUAL:
            struct.pack_into("<i", data, base + FLAGS_OFFSET, flags | TYPEFLAG_FNONEXTENSIBLE)
            sealed += 1
    with open(path, "wb") as file:
        file.write(data)
    return sealed


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    seal(sys.argv[1])
