-- The installer's connection drops after every 768 KiB of the file (3 MiB: cut three times).
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/cortar-cada=786432/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/01TE/Instalador/SetupEvalora2020Cloud.exe';
