-- The installer is answered by a portal's page of another size, every time.
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/otro-tamano=4096/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe';
