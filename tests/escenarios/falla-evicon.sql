-- The system's icon always answers 500.
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=500/2020/Cloud/01TE/Sistema/evicon.ico'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/01TE/Sistema/evicon.ico';
