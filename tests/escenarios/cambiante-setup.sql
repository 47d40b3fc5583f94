-- The installer changes on the server at every request (a new version: other bytes, new validators).
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/cambiante/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe';
