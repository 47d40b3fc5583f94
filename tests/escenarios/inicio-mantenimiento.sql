UPDATE TBL_DMVersionDM SET Activa = 0 WHERE Version = '2020.5.3';
