#pragma once
// The size an image will be decoded at, read from its header before a pixel is decoded.

#include <QSize>
#include <QString>

class QImageReader;

// The largest width and height that decoding the first image of `reader` would allocate, as its
// header declares them; false with *refusal (a few words: "is no image of a format that can be read")
// when the size cannot be known before decoding.
//
// Most formats allocate what QImageReader::size() declares. Two do not: a GIF decodes onto its logical
// screen or, when that is out of proportion, onto the extent of its first frame; an ICO or CUR file
// decodes the first icon from that icon's own image header, which may differ from the size its
// directory gives. For those the header is read here; formats not known to keep to their declared
// size are refused, as are compressed SVG files, whose size is only known after they are inflated.
bool velImageDecodeSize(QImageReader& reader, QSize* size, QString* refusal);
