"""Writes the three sound resources: WAV header, clip index and clip bank."""

import os
import struct

from characters import CHARACTERS

RECORD_RESERVED = b"\xcd\xcd\xcd"


def wave_header(sample_rate):
    """The canonical 44-byte RIFF/WAVE header for 16-bit mono PCM. Both size
    fields are 0: the assembler writes them for each sound."""
    bits = 16
    block_align = bits // 8
    return (b"RIFF" + struct.pack("<I", 0) + b"WAVE"
            + b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, sample_rate,
                                    sample_rate * block_align, block_align, bits)
            + b"data" + struct.pack("<I", 0))


def clip_index(clips):
    """36 records of 12 bytes: character, 3 reserved bytes, offset, length."""
    records = []
    offset = 0
    for character, clip in zip(CHARACTERS, clips, strict=True):
        records.append(character.encode("ascii") + RECORD_RESERVED
                       + struct.pack("<II", offset, len(clip)))
        offset += len(clip)
    return b"".join(records)


def write(directory, clips, sample_rate):
    if any(len(c) % 2 for c in clips):
        raise ValueError("every clip must hold whole 16-bit samples")
    os.makedirs(directory, exist_ok=True)
    contents = {
        "wave_header.bin": wave_header(sample_rate),
        "clip_index.bin": clip_index(clips),
        "clip_bank.bin": b"".join(clips),
    }
    for name, data in contents.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)
