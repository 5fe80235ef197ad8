#include "app/single_instance.h"

#include "app/main_frame.h"

namespace brindle {

bool CSingleInstance::handOver(const QString&) { return false; }

void CSingleInstance::listen(CMainFrame&) {}

}  // namespace brindle
