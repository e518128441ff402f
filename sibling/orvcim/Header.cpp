#include "sibling/orvcim/Header.h"

CHeader::CHeader() = default;
CHeader::CHeader(const CHeader& other) = default;
CHeader& CHeader::operator=(const CHeader& other) = default;
CHeader::~CHeader() = default;
