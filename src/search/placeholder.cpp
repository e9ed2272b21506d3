// Placeholder until the search subsystem lands.
namespace morvi {}
