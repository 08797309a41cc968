#include "platform/Object.h"

void CObject::Serialize(CArchive&) {}
