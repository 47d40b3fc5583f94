-- Rows of the file list that cannot be read (no local path): the list cannot be read.
UPDATE Archivos SET RutaLocal = NULL;
