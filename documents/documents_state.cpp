#include "documents/documents.h"

void ResetDocumentsState() {
}
