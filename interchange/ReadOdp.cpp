// Filled in by the ReadOdp reader.
