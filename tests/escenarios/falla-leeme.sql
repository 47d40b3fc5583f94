-- The installer's read-me is cut short every time, by a server that cannot resume it.
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/sin-rangos,cortar=100/2020/Cloud/01TE/Instalador/Leeme.txt'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/01TE/Instalador/Leeme.txt';
