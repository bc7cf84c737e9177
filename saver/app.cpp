#include "saver/app.h"

#include "framework/framework.h"
#include "saver/saver_app.h"

namespace prumya {

int RunSaverProcess(const plat::Platform& platform, plat::InstanceHandle instance,
                    char* commandLine, int showCommand) {
  qrx::Framework framework(platform);
  SaverApp app(framework);
  app.Install();
  return framework.shell.Run(instance, 0, commandLine, showCommand);
}

}  // namespace prumya
