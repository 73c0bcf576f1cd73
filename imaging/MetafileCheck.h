#pragma once
// The checks a metafile passes before a converter library sees it. The libraries trust the
// header's counts and sizes and allocate by them, so a few hundred lying bytes could make them
// ask for gigabytes, or read past them. A metafile passes when its size fields agree with the
// file, its largest record fits in the file, its object count is bounded by its records, an EMF
// header's description and pixel format lie inside the header record, and its record chain,
// walked here record by record, stays inside the file and ends at an end-of-file record. Each EMF
// record holds the fixed fields of its type, and its bitmap, if any, with all the rows it names.

#include <QByteArrayView>

namespace kiv::metafileCheck {

// A WMF, plain or behind the 22-byte placeable header.
bool wmfIsSound(QByteArrayView bytes);
// An EMF.
bool emfIsSound(QByteArrayView bytes);

} // namespace kiv::metafileCheck
