// Placeholder until the eval subsystem lands.
namespace morvi {}
