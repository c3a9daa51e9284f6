// Filled in by the ReadOdp3 reader.
