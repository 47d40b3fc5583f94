-- The system's permission tool never answers.
UPDATE Archivos SET RutaServidor = '${HTTP}/2020/Pruebas/SecurityFolderMudo.exe', Peso = '17'
 WHERE Producto = 'Sistema' AND Modo = 2 AND RutaLocal = 'Utilerías\SecurityFolder.exe';
