-- The download brings no Utilerías\DLLs folder.
DELETE FROM Archivos WHERE Producto = 'Sistema' AND Modo = 2 AND RutaLocal LIKE 'Utilerías\DLLs\%';
