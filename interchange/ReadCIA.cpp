// Filled in by the ReadCIA reader.
