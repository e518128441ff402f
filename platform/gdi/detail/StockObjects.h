#pragma once
// Process-wide drawing objects: stock objects and the memory contexts' default bitmap.
class CGdiObject;
class CBitmap;

namespace orv::gdi {

// The wrapper of a stock object (GetStockObject index), or null.
CGdiObject* StockObject(int index);
// The 1 x 1 monochrome bitmap every memory context starts with.
CBitmap* DefaultBitmap();

}  // namespace orv::gdi
