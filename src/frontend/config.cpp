// The process's configuration values (defaults until the profile is read).
#include "frontend/config.h"

namespace morvi {

Configuration config;

}  // namespace morvi
