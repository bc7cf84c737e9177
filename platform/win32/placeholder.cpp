// Placeholder so the library has a source until the port's files land.
