-- The system's permission tool answers every job but "RegistroPolicies".
UPDATE Archivos SET RutaServidor = '${HTTP}/2020/Pruebas/SecurityFolderSinPoliticas.exe', Peso = '288'
 WHERE Producto = 'Sistema' AND Modo = 2 AND RutaLocal = 'Utilerías\SecurityFolder.exe';
