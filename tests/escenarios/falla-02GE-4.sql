-- The autorun.inf of the 02GE variant is never there.
UPDATE Archivos SET RutaServidor = '${HTTP}/_fallas/estado=404/2020/Cloud/02GE/Instalador/autorun.inf'
 WHERE RutaServidor = '${HTTP}/2020/Cloud/02GE/Instalador/autorun.inf';
