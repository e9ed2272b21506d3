// Placeholder until the engine subsystem lands.
namespace morvi {}
