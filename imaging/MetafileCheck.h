#pragma once
// The checks a metafile passes before a converter library sees it. The libraries trust the
// header's counts and sizes and allocate by them, so a few hundred lying bytes could make them
// ask for gigabytes, or read past them. A metafile passes when its size fields agree with the
// file, its largest record fits in the file, its object count is bounded by its records, an EMF
// header's description and pixel format lie inside the header record, and its record chain,
// walked here record by record, stays inside the file and ends at an end-of-file record. Each EMF
// record holds the fixed fields of its type; a bitmap in an EMF or WMF record is uncompressed,
// has a 40-byte info header, and its header, colour table and every row it names lie inside the
// record.

#include <QByteArrayView>

namespace kiv::metafileCheck {

// The bytes at the start of a file that recognises() and namedSize() look at.
inline constexpr qsizetype kHeadBytes = 64;
// True for bytes that start like an EMF or a WMF (plain or with the placeable header).
bool recognises(QByteArrayView bytes);
// How many bytes the metafile that `head` starts says it takes, its placeable header included; 0
// when the head does not say.
qint64 namedSize(QByteArrayView head);
// True for bytes that start like an EMF.
bool isEmf(QByteArrayView bytes);
// An EMF or a WMF, by what the bytes start like.
bool isSound(QByteArrayView bytes);
// A WMF, plain or behind the 22-byte placeable header.
bool wmfIsSound(QByteArrayView bytes);
// An EMF.
bool emfIsSound(QByteArrayView bytes);

} // namespace kiv::metafileCheck
